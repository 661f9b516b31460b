select * from type_status where type_status_id=:id
