select * from electrometer where number=:num and type_id=:id
