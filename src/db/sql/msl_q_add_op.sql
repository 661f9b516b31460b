insert into msl_ (JournalMsl_id,route_id,entry,good,bad,date_time_start,user_id,state_operation,dt_start) 
values(:id1,:id2,:entry,:good,:bad,:dt1,:id3,:state,:dt2)
