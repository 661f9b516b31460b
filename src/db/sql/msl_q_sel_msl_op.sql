select * from msl_ where msl_id=:id
